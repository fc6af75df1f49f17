        macro MOV x
        db x
        endm
        macro reti
        nop
        endm
        macro same p1, p2, p3
        db p1,p2,p3

        ; dropped
        endm
        macro same p1 p2 p3
        db 0
        endm
        macro
        db 99
        endm
        macro spaced p1 p2 p3
        db p3,p2,p1
        endm
        MOV 7
        mov a,8
        reti
        same 1,2,3
        spaced 4,5,6
;; Definition checks: a reserved name warns once (forced in pass 1, so above the code listing)
;; and takes the instruction over; reti is no reserved word; a second definition of a name warns
;; once, is skipped unrecorded and listed as address lines in pass 2; a macro without a name is
;; reported in pass 2 and neither recorded nor listed. Parameters with and without commas are
;; the same; blank and comment lines of a body are dropped.
;; exit: 3
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Warning : Macro - 'MOV' - is re-defining a reserved mnemonic.
;; stderr: 1.18:         macro MOV x
;; stderr:
;; stderr: Warning : Macro - 'same' - already defined
;; stderr: 12.19:         macro same p1 p2 p3
;; stderr:
;; stderr: Warning : Bad macro definition: Macro name not found.
;; stderr: 15.13:         macro
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: **** Warning : Macro - 'MOV' - is re-defining a reserved mnemonic.
;; listing: **** Warning : Macro - 'same' - already defined
;; listing: 0000                    macro MOV x
;; listing: 0000                    db x
;; listing: 0000                    endm
;; listing: 0000                    macro reti
;; listing: 0000                    nop
;; listing: 0000                    endm
;; listing: 0000                    macro same p1, p2, p3
;; listing: 0000                    db p1,p2,p3
;; listing: 0000            |
;; listing: 0000                    ; dropped
;; listing: 0000                    endm
;; listing: 0000                    macro same p1 p2 p3
;; listing: 0000                    db 0
;; listing: 0000                    endm
;; listing: **** Warning : Bad macro definition: Macro name not found.
;; listing: 0000                    macro spaced p1 p2 p3
;; listing: 0000                    db p3,p2,p1
;; listing: 0000                    endm
;; listing: **** MACRO ****         MOV 7
;; listing: 0000 07    [00]         db 7
;; listing: ***END MACRO*** |
;; listing: 0001 19 08 [04]         mov a,8
;; listing: **** MACRO ****         reti
;; listing: 0003 20    [04]         nop
;; listing: ***END MACRO*** |
;; listing: **** MACRO ****         same 1,2,3
;; listing: 0004 01    [00]         db 1,2,3
;; listing: 0005 02    [00] |
;; listing: 0006 03    [00] |
;; listing: ***END MACRO*** |
;; listing: **** MACRO ****         spaced 4,5,6
;; listing: 0007 06    [00]         db 6,5,4
;; listing: 0008 05    [00] |
;; listing: 0009 04    [00] |
;; listing: ***END MACRO*** |
;; listing:
;; listing: CheckSum = 005D
;; listing: Warnings = 3
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
