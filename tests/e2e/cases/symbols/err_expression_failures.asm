e1: equ *
e2: equ nothere+1
	nop
early: equ 10h
10h:	nop
	jmp 10h
;; Expressions that give no value: an empty operand, a lone operator and an unknown name, and
;; a label named like a number (the number in pass 1 before its definition, the label after).
;; exit: 6
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Warning : Label 'e1' undefined after first pass.
;; stderr:
;; stderr: 1.9: e1: equ *
;; stderr:
;; stderr: Warning : Label 'e2' undefined after first pass.
;; stderr:
;; stderr: 2.17: e2: equ nothere+1
;; stderr:
;; stderr: Warning : Illegal Expression
;; stderr: 1.9: e1: equ *
;; stderr:
;; stderr: Warning : Unable to resolve operand 'nothere'
;; stderr: 2.15: e2: equ nothere+1
;; stderr:
;; stderr: Warning : '10h' has been redefined as a label = '1'
;; stderr: 4.14: early: equ 10h
;; stderr:
;; stderr: Warning : '10h' has been redefined as a label = '1'
;; stderr: 6.15:         jmp 10h
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: **** Warning : Label 'e1' undefined after first pass.
;; listing:
;; listing: **** Warning : Label 'e2' undefined after first pass.
;; listing:
;; listing: **** Warning : Illegal Expression
;; listing: 0000=           e1: equ *
;; listing: **** Warning : Unable to resolve operand 'nothere'
;; listing: 0000=           e2: equ nothere+1
;; listing: 0000 20    [04]         nop
;; listing: **** Warning : '10h' has been redefined as a label = '1'
;; listing: 0001=           early: equ 10h
;; listing: 0001 20    [04] 10h:    nop
;; listing: **** Warning : '10h' has been redefined as a label = '1'
;; listing: 0002 80 01 [05]         jmp 10h
;; listing:
;; listing: CheckSum = 00C1
;; listing: Warnings = 6
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    1   10h                    2
;; listing:    0 = e1                     0
;; listing:    0 = e2                     0
;; listing:    1 = early                  0
