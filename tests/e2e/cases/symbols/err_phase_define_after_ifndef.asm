	jmp	later
	ifndef	FAST
	nop
	nop
	endif
	define	FAST
later:	nop
.l:	jmp	later
;; A define placed after the ifndef that tests it: pass 1 assembles the block, pass 2 skips it, so
;; the label behind it (and its local) stands lower in pass 2 and the forward jump was assembled
;; with the pass-1 address. Each moved label is an error naming both addresses; the listing gives
;; it under the label's line, and the backward jump after it is not reported again.
;; exit: 1
;; stderr:
;; stderr: Error : Label 'later' moved from 0004h in pass 1 to 0002h in pass 2; references to it may use the wrong address.
;; stderr: 7.11: later:  nop
;; stderr:
;; stderr: Error : Label 'later.l' moved from 0005h in pass 1 to 0003h in pass 2; references to it may use the wrong address.
;; stderr: 8.21: .l:     jmp     later
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: 0000 80 04 [05]         jmp     later
;; listing:                         ifndef  FAST
;; listing:                         endif
;; listing:                         define  FAST
;; listing: 0002 20    [04] later:  nop
;; listing: **** Error : Label 'later' moved from 0004h in pass 1 to 0002h in pass 2; references to it may use the wrong address.
;; listing: 0003 80 02 [05] .l:     jmp     later
;; listing: **** Error : Label 'later.l' moved from 0005h in pass 1 to 0003h in pass 2; references to it may use the wrong address.
;; listing:
;; listing: CheckSum = 0126
;; listing: Warnings = 0
;; listing: Errors   = 2
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    2   later                  2
