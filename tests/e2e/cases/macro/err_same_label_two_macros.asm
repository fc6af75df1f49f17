        macro first
lp:     nop
        endm
        macro second
lp:     halt
        endm
        first
        second
;; Two macros whose bodies both define lp produce lp#1 on their first expansions; the label table
;; reports the second as already defined.
;; exit: 1
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Warning : Label 'lp#1' is already defined
;; stderr: 0.8: lp#1:   halt
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: **** Warning : Label 'lp#1' is already defined
;; listing: 0000                    macro first
;; listing: 0000            lp:     nop
;; listing: 0000                    endm
;; listing: 0000                    macro second
;; listing: 0000            lp:     halt
;; listing: 0000                    endm
;; listing: **** MACRO ****         first
;; listing: 0000 20    [04] lp#1:   nop
;; listing: ***END MACRO*** |
;; listing: **** MACRO ****         second
;; listing: 0001 00    [07] lp#1:   halt
;; listing: ***END MACRO*** |
;; listing:
;; listing: CheckSum = 0020
;; listing: Warnings = 1
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    1   lp#1                   0
