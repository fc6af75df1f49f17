	ifdef	FAST
	nop
	endif
;; A bare -d takes no value from the next argument either: the symbol is not defined.
;; args: -d FAST prog
;; exit: 0
;; stderr:
;; stderr: Note : -d takes its value joined to it, as in '-dSYMBOL'; 'FAST' is read as the source name.
;; empty: prog.rom
