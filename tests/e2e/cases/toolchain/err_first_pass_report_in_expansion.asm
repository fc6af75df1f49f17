	macro	mk p
k:	equ	p
	endm
	mk	later	; forward
later:	equ	3
;; A report that pass 1 shows from a macro expansion points at the body line with the column of
;; its token after tab expansion, and the note at the invoking line with the column of the name,
;; though pass 1 took that line with its tabs.
;; args: --diagnostics=gnu prog
;; exit: 1
;; stderr: prog.asm:2:17: warning: Label 'k#1' undefined after first pass.
;; stderr: prog.asm:4:9: note: in expansion of macro 'mk'
