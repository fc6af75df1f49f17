	org	7FEh
last:	nop
	db	1,2
	ds	"ab"
;; With -e the ROM size is not enforced: the same program assembles without a report.
;; args: -e prog
;; exit: 0
;; empty: stderr
