	macro	pull
	include	"gone.inc"
	endm
start:	nop
	include	"missing.inc"
;; GNU style: an include file that can't be opened is a fatal error at the name on the line that
;; includes it.
;; args: --diagnostics=gnu prog
;; exit: 1
;; stderr: prog.asm:5:17: fatal error: Unable to open 'missing.inc'
