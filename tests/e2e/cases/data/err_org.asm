start:	org 100h
	org 100h
	org 10h
	org 800h
	equ 5
empty:	equ
fwd:	equ later
later:	dw fwd
;; With org a label takes the new address, org to the current address is accepted, backwards is an
;; error, at or beyond the ROM size an error that keeps pc; equ without a label, equ without an
;; operand, equ with a forward reference (forced pass-1 warning).
;; exit: 5
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Warning : Label 'empty' undefined after first pass.
;; stderr:
;; stderr: 6.11: empty:  equ
;; stderr:
;; stderr: Warning : Label 'fwd' undefined after first pass.
;; stderr:
;; stderr: 7.17: fwd:    equ later
;; stderr:
;; stderr: Error : ORG attempts to decrement PC address
;; stderr: 3.15:         org 10h
;; stderr:
;; stderr: Error : ROM address out of range, '0800h' >= 0800h, pc not changed.
;; stderr: 4.16:         org 800h
;; stderr:
;; stderr: Warning : Missing label for EQU
;; stderr: 5.12:         equ 5
;; stderr:
;; stderr: Warning : EQU requires an operand.
;; stderr: 6.11: empty:  equ
;; stderr:
;; stderr: Warning : Illegal Expression
;; stderr: 6.11: empty:  equ
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: **** Warning : Label 'empty' undefined after first pass.
;; listing:
;; listing: **** Warning : Label 'fwd' undefined after first pass.
;; listing:
;; listing: 0100            start:  org 100h
;; listing: 0100                    org 100h
;; listing: **** Error : ORG attempts to decrement PC address
;; listing: 0100                    org 10h
;; listing: **** Error : ROM address out of range, '0800h' >= 0800h, pc not changed.
;; listing: 0100                    org 800h
;; listing: **** Warning : Missing label for EQU
;; listing: 0000=                   equ 5
;; listing: **** Warning : EQU requires an operand.
;; listing: **** Warning : Illegal Expression
;; listing: 0000=           empty:  equ
;; listing: 0100=           fwd:    equ later
;; listing: 0100 01 00 [00] later:  dw fwd
;; listing:
;; listing: CheckSum = 0001
;; listing: Warnings = 5
;; listing: Errors   = 2
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    0 = empty                  0
;; listing:  100 = fwd                    1
;; listing:  100   later                  1
;; listing:  100   start                  0
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 01 00 |
;; hex: :200000000000000000000000000000000000000000000000000000000000000000000000E0
;; hex: :200020000000000000000000000000000000000000000000000000000000000000000000C0
;; hex: :200040000000000000000000000000000000000000000000000000000000000000000000A0
;; hex: :20006000000000000000000000000000000000000000000000000000000000000000000080
;; hex: :20008000000000000000000000000000000000000000000000000000000000000000000060
;; hex: :2000A000000000000000000000000000000000000000000000000000000000000000000040
;; hex: :2000C000000000000000000000000000000000000000000000000000000000000000000020
;; hex: :2000E000000000000000000000000000000000000000000000000000000000000000000000
;; hex: :200100000100000000000000000000000000000000000000000000000000000000000000DE
;; hex: :00000001FF
