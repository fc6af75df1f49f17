	jmp	later
	if	later
	nop
	endif
later:	nop
;; An if on a label defined further down: unresolved (0) in pass 1, true in pass 2, so the
;; block is assembled only in pass 2 and the label after it moves up. GNU style points at the
;; label field, before the code beyond the image that pass 1 measured stops the run.
;; args: --diagnostics=gnu prog
;; exit: 1
;; stderr: prog.asm:5:1: error: Label 'later' moved from 0002h in pass 1 to 0003h in pass 2; references to it may use the wrong address.
;; stderr: prog.asm:5:9: fatal error: PC >= maxPC from first pass (3>=3); Cannot continue; Check previous warnings/errors.
