	org 0200h
	jmp 0123h
	jmp 1234h
	call 1234h
	index 0FF0h
	jacc 0
	org 1100h
	jz 0100h
	call 0234h
	jnc 1FF0h
	call 2000h
;; The 4K-block rules on a family B product with 8K of ROM: jumps stay in the block of their own
;; address, calls into the upper block take their own opcode, calls back down are errors, and
;; targets beyond the ROM are only out of range.
;; args: prog -pPX109
;; exit: 2
;; stderr:
;; stderr: Error : Jumps and Indexing from lower 4K block to upper 4K block are illegal
;; stderr: 3.17:         jmp 1234h
;; stderr:
;; stderr: Error : Jumps and Indexing from upper 4K block to lower 4K block are illegal
;; stderr: 8.16:         jz 0100h
;; stderr:
;; stderr: Error : Calls to lower 4K block from upper 4K block are illegal
;; stderr: 9.18:         call 0234h
;; stderr:
;; stderr: Warning : Operand address out of range, '1FF0h' >= 1FE0h
;; stderr: 10.17:         jnc 1FF0h
;; stderr:
;; stderr: Warning : Operand address out of range, '2000h' >= 1FE0b
;; stderr: 11.18:         call 2000h
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: 0200                    org 0200h
;; listing: 0200 81 23 [05]         jmp 0123h
;; listing: **** Error : Jumps and Indexing from lower 4K block to upper 4K block are illegal
;; listing: 0202 82 34 [05]         jmp 1234h
;; listing: 0204 52 34 [10]         call 1234h
;; listing: 0206 FF F0 [14]         index 0FF0h
;; listing: 0208 E0 00 [07]         jacc 0
;; listing: 1100                    org 1100h
;; listing: **** Error : Jumps and Indexing from upper 4K block to lower 4K block are illegal
;; listing: 1100 A1 00 [05]         jz 0100h
;; listing: **** Error : Calls to lower 4K block from upper 4K block are illegal
;; listing: 1102 92 34 [10]         call 0234h
;; listing: **** Warning : Operand address out of range, '1FF0h' >= 1FE0h
;; listing: 1104 DF F0 [05]         jnc 1FF0h
;; listing: **** Warning : Operand address out of range, '2000h' >= 1FE0b
;; listing: 1106 50 00 [10]         call 2000h
;; listing:
;; listing: CheckSum = 0835
;; listing: Warnings = 2
;; listing: Errors   = 3
;; listing:
;; listing: Product: PX109, CPU Family=B, RAM=256 bytes, ROM=8160 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
