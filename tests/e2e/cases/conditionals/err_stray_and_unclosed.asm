	else
one:	nop
	endif
two:	nop
	if 1
	if 0
three:	nop
;; A stray else and a stray endif are reported and ignored, so assembly goes on; a source that
;; ends inside open conditionals is reported once, at the end of pass 2, and pass 2 starts clean.
;; exit: 1
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Error : ELSE without a matching IF; ignored.
;; stderr: 1.12:         else
;; stderr:
;; stderr: Error : ENDIF without a matching IF; ignored.
;; stderr: 3.13:         endif
;; stderr:
;; stderr: Error : Missing ENDIF: 2 conditional block(s) open at end of source.
;; stderr: 0.0: |
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: **** Error : ELSE without a matching IF; ignored.
;; listing:                         else
;; listing: 0000 20    [04] one:    nop
;; listing: **** Error : ENDIF without a matching IF; ignored.
;; listing:                         endif
;; listing: 0001 20    [04] two:    nop
;; listing:                         if 1
;; listing:                         if 0
;; listing: **** Error : Missing ENDIF: 2 conditional block(s) open at end of source.
;; listing:
;; listing: CheckSum = 0040
;; listing: Warnings = 0
;; listing: Errors   = 3
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    0   one                    0
;; listing:    1   two                    0
