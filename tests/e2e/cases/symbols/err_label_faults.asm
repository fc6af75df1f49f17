.early:	nop
main:	nop
main:	nop
.x:	nop
.x:	nop
	if .early
	endif
Loop:	nop
loop:	jmp Loop
;; Label-field faults are found in pass 1 only and forced through once, ahead of the code lines:
;; a local before any global label, a duplicate global and a duplicate local. The locals after
;; the duplicate global join the first record's scope. Names differing in case are two labels.
;; exit: 3
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Error : Local labels can not be defined outside of a global label's scope!
;; stderr: 1.8: .early: nop
;; stderr:
;; stderr: Warning : Label 'main' is already defined
;; stderr: 3.8: main:   nop
;; stderr:
;; stderr: Warning : Local '.x' is already defined
;; stderr: 5.8: .x:     nop
;; stderr:
;; stderr: Warning : Unable to resolve operand '.early'
;; stderr: 6.17:         if .early
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: **** Error : Local labels can not be defined outside of a global label's scope!
;; listing: **** Warning : Label 'main' is already defined
;; listing: **** Warning : Local '.x' is already defined
;; listing: 0000 20    [04] .early: nop
;; listing: 0001 20    [04] main:   nop
;; listing: 0002 20    [04] main:   nop
;; listing: 0003 20    [04] .x:     nop
;; listing: 0004 20    [04] .x:     nop
;; listing: **** Warning : Unable to resolve operand '.early'
;; listing:                         if .early
;; listing:                         endif
;; listing: 0005 20    [04] Loop:   nop
;; listing: 0006 80 05 [05] loop:   jmp Loop
;; listing:
;; listing: CheckSum = 0145
;; listing: Warnings = 3
;; listing: Errors   = 1
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    5   Loop                   1
;; listing:    6   loop                   0
;; listing:    2   main                   0
