first:	nop
.loop:	nop
	jmp .loop
	jmp second
second:	nop
.loop:	nop
	jmp .loop
	jmp .done
.done:	jmp first
zeta:
Alpha:
beta:
;; Forward and backward references resolve in pass 2, each .loop is found in the scope of its
;; own global label in both passes, and the symbol table lists the globals in byte order.
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
;; listing: 0000 20    [04] first:  nop
;; listing: 0001 20    [04] .loop:  nop
;; listing: 0002 80 01 [05]         jmp .loop
;; listing: 0004 80 06 [05]         jmp second
;; listing: 0006 20    [04] second: nop
;; listing: 0007 20    [04] .loop:  nop
;; listing: 0008 80 07 [05]         jmp .loop
;; listing: 000A 80 0C [05]         jmp .done
;; listing: 000C 80 00 [05] .done:  jmp first
;; listing: 000E            zeta:
;; listing: 000E            Alpha:
;; listing: 000E            beta:
;; listing:
;; listing: CheckSum = 031A
;; listing: Warnings = 0
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    e   Alpha                  0
;; listing:    e   beta                   0
;; listing:    0   first                  1
;; listing:    6   second                 1
;; listing:    e   zeta                   0
