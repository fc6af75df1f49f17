	mov x,a
	swap a,psp
	reti
	ipret 5
	call 0900h
	call 1234h
	mov a,[80h]
;; A family A product: the family B forms are errors but still emitted, ipret is legal, and a
;; call beyond the 2K ROM is only out of range (family A has one call opcode, no block test).
;; args: prog -pPX101
;; exit: 3
;; stderr:
;; stderr: Error : Illegal instruction for this CPU
;; stderr: 1.15:         mov x,a
;; stderr:
;; stderr: Error : Illegal instruction for this CPU
;; stderr: 2.18:         swap a,psp
;; stderr:
;; stderr: Error : Illegal instruction for this CPU
;; stderr: 3.12:         reti
;; stderr:
;; stderr: Warning : Operand address out of range, '0900h' >= 0800b
;; stderr: 5.18:         call 0900h
;; stderr:
;; stderr: Warning : Operand address out of range, '1234h' >= 0800b
;; stderr: 6.18:         call 1234h
;; stderr:
;; stderr: Warning : Nonexistent RAM address, '80h'
;; stderr: 7.19:         mov a,[80h]
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: **** Error : Illegal instruction for this CPU
;; listing: 0000 41    [04]         mov x,a
;; listing: **** Error : Illegal instruction for this CPU
;; listing: 0001 60    [05]         swap a,psp
;; listing: **** Error : Illegal instruction for this CPU
;; listing: 0002 73    [08]         reti
;; listing: 0003 1E 05 [13]         ipret 5
;; listing: **** Warning : Operand address out of range, '0900h' >= 0800b
;; listing: 0005 99 00 [10]         call 0900h
;; listing: **** Warning : Operand address out of range, '1234h' >= 0800b
;; listing: 0007 92 34 [10]         call 1234h
;; listing: **** Warning : Nonexistent RAM address, '80h'
;; listing: 0009 1A 80 [05]         mov a,[80h]
;; listing:
;; listing: CheckSum = 0330
;; listing: Warnings = 3
;; listing: Errors   = 3
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
