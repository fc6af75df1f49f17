ifdef sim
	nop
else
	halt
endif
;; -dSIM defines SIM for ifdef in both passes (letter case ignored); a bare -d defines nothing and
;; unknown option letters are ignored.
;; args: -d -x -dSIM prog
;; exit: 0
;; rom: 20 |
