	if 0
skip1:	nop
	else
take1:	nop
	endif
	if 1
take2:	nop
	else
skip2:	nop
	else
take3:	nop
	endif
	if 0
	if 1
skip3:	nop
	else
skip4:	nop
	endif
	define Hidden
	else
take4:	nop
lbl:	endif
	ifdef HIDDEN
take5:	nop
	endif
	ifndef hidden
skip5:	nop
	endif
	ifdef true
take6:	nop
	endif
	ifdef
skip6:	nop
	endif
	ifndef
take7:	nop
	endif
	define
;; if/else/endif select lines; a conditional nested in a skipped branch stays skipped with its
;; else; a second else toggles back; ifdef/ifndef ignore case; define in a skipped branch still
;; defines; skipped lines are not listed, the directives are listed as text lines.
;; exit: 1
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Error : Missing token to define
;; stderr: 38.14:         define
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing:                         if 0
;; listing:                         else
;; listing: 0000 20    [04] take1:  nop
;; listing:                         endif
;; listing:                         if 1
;; listing: 0001 20    [04] take2:  nop
;; listing:                         else
;; listing:                         else
;; listing: 0002 20    [04] take3:  nop
;; listing:                         endif
;; listing:                         if 0
;; listing:                         if 1
;; listing:                         else
;; listing:                         endif
;; listing:                         define Hidden
;; listing:                         else
;; listing: 0003 20    [04] take4:  nop
;; listing:                 lbl:    endif
;; listing:                         ifdef HIDDEN
;; listing: 0004 20    [04] take5:  nop
;; listing:                         endif
;; listing:                         ifndef hidden
;; listing:                         endif
;; listing:                         ifdef true
;; listing: 0005 20    [04] take6:  nop
;; listing:                         endif
;; listing:                         ifdef
;; listing:                         endif
;; listing:                         ifndef
;; listing: 0006 20    [04] take7:  nop
;; listing:                         endif
;; listing: **** Error : Missing token to define
;; listing:                         define
;; listing:
;; listing: CheckSum = 00E0
;; listing: Warnings = 0
;; listing: Errors   = 1
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    4   lbl                    0
;; listing:    0   take1                  0
;; listing:    1   take2                  0
;; listing:    2   take3                  0
;; listing:    3   take4                  0
;; listing:    4   take5                  0
;; listing:    5   take6                  0
;; listing:    6   take7                  0
