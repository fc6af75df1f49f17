        two 1,2
        macro two a1 a2
        db a1,a2
        endm
        macro one p
        db p
        endm
        macro none
        nop
        endm
        two 1
        one 1, 2
        none 5
        two 3,4,
        two 5 ,6 ; comment
        two 7\,8
        one 9\
        none
        macro bad
        bogus
        endm
        bad
;; Argument binding: an invocation above the definition is refused in pass 2 (error between the
;; marker lines), a missing argument is refused with the plural message, surplus text expands
;; with the singular or zero-parameter message, and a trailing comma or a comment is no surplus.
;; An argument keeps the blanks in front of its comma; a backslash ends an argument. A report
;; from an expanded line shows line number 0 and the expanded text.
;; exit: 6
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Error : Macro 'two' is referenced before it is defined.
;; stderr: 1.12:         two 1,2
;; stderr:
;; stderr: Warning : Macro 'two' requires 2 parameters separated by a comma.
;; stderr: 11.13:         two 1
;; stderr:
;; stderr: Warning : Too many parameters. Macro 'one' requires 1 parameter.
;; stderr: 12.15:         one 1, 2
;; stderr:
;; stderr: Warning : Too many parameters. Macro 'none' requires 0 parameter.
;; stderr: 13.13:         none 5
;; stderr:
;; stderr: Warning : Macro 'two' requires 2 parameters separated by a comma.
;; stderr: 16.13:         two 7\,8
;; stderr:
;; stderr: Warning : Too many parameters. Macro 'one' requires 1 parameter.
;; stderr: 17.13:         one 9\
;; stderr:
;; stderr: Warning : Illegal or unknown instruction 'bogus'.
;; stderr: 0.13:         bogus
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: **** MACRO ****         two 1,2
;; listing: **** Error : Macro 'two' is referenced before it is defined.
;; listing: ***END MACRO*** |
;; listing: 0000                    macro two a1 a2
;; listing: 0000                    db a1,a2
;; listing: 0000                    endm
;; listing: 0000                    macro one p
;; listing: 0000                    db p
;; listing: 0000                    endm
;; listing: 0000                    macro none
;; listing: 0000                    nop
;; listing: 0000                    endm
;; listing: **** MACRO ****         two 1
;; listing: **** Warning : Macro 'two' requires 2 parameters separated by a comma.
;; listing: ***END MACRO*** |
;; listing: **** MACRO ****         one 1, 2
;; listing: **** Warning : Too many parameters. Macro 'one' requires 1 parameter.
;; listing: 0000 01    [00]         db 1
;; listing: ***END MACRO*** |
;; listing: **** MACRO ****         none 5
;; listing: **** Warning : Too many parameters. Macro 'none' requires 0 parameter.
;; listing: 0001 20    [04]         nop
;; listing: ***END MACRO*** |
;; listing: **** MACRO ****         two 3,4,
;; listing: 0002 03    [00]         db 3,4
;; listing: 0003 04    [00] |
;; listing: ***END MACRO*** |
;; listing: **** MACRO ****         two 5 ,6 ; comment
;; listing: 0004 05    [00]         db 5 ,6 |
;; listing: 0005 06    [00] |
;; listing: ***END MACRO*** |
;; listing: **** MACRO ****         two 7\,8
;; listing: **** Warning : Macro 'two' requires 2 parameters separated by a comma.
;; listing: ***END MACRO*** |
;; listing: **** MACRO ****         one 9\
;; listing: **** Warning : Too many parameters. Macro 'one' requires 1 parameter.
;; listing: 0006 09    [00]         db 9
;; listing: ***END MACRO*** |
;; listing: **** MACRO ****         none
;; listing: 0007 20    [04]         nop
;; listing: ***END MACRO*** |
;; listing: 0008                    macro bad
;; listing: 0008                    bogus
;; listing: 0008                    endm
;; listing: **** MACRO ****         bad
;; listing: **** Warning : Illegal or unknown instruction 'bogus'.
;; listing: 0008                    bogus
;; listing: ***END MACRO*** |
;; listing:
;; listing: CheckSum = 005C
;; listing: Warnings = 6
;; listing: Errors   = 1
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
