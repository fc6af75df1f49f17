ifdef sim
	nop
else
	halt
endif
;; A bare -d defines nothing: the ifdef fails and the else branch is assembled.
;; args: -d prog
;; exit: 0
;; rom: 00 |
