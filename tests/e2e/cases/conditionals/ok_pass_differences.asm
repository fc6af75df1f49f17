	nop
	ifdef LATER
before:
	endif
	define LATER
	if fwd
seen:
	else
unseen:
	endif
fwd:	nop
	jmp fwd
;; The passes can select different lines: an ifdef above its define fails in pass 1 and holds
;; in pass 2, and an if on a label defined further down fails in pass 1 and holds in pass 2.
;; Labels on those lines were never entered, so pass 2 lists them without defining them, while
;; unseen, entered by pass 1 in the else branch, stays in the table with pass 1's value.
;; exit: 0
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete!
;; empty: stderr
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: 0000 20    [04]         nop
;; listing:                         ifdef LATER
;; listing: 0001            before:
;; listing:                         endif
;; listing:                         define LATER
;; listing:                         if fwd
;; listing: 0001            seen:
;; listing:                         else
;; listing:                         endif
;; listing: 0001 20    [04] fwd:    nop
;; listing: 0002 80 01 [05]         jmp fwd
;; listing:
;; listing: CheckSum = 00C1
;; listing: Warnings = 0
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    1   fwd                    2
;; listing:    1   unseen                 0
