start:	db	start: ; one item, not two
after:	jmp	after
;; A label operand may be followed by a colon, which the evaluator steps over together with the
;; blanks and comment after it: the comma in the comment must not start a second item in either
;; pass, or the labels after the line would take other addresses in the two passes.
;; exit: 0
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: 0000 00    [00] start:  db      start: ; one item, not two
;; listing: 0001 80 01 [05] after:  jmp     after
;; listing:
;; listing: CheckSum = 0081
;; listing: Warnings = 0
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    1   after                  1
;; listing:    0   start                  1
;; hex: :2000000000800100000000000000000000000000000000000000000000000000000000005F
;; hex: :00000001FF
