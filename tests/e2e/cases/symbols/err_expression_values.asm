v1: equ 1+2*3
v2: equ (1+2)*3
v3: equ 2*-3
v4: equ 2--3
v5: equ -2-3
v6: equ 8/3
v7: equ -7/2
v8: equ ~0&0FFh
v9: equ 1|2^3&6
d0: equ 5/0
p1: equ (1+2
p2: equ 1+2)
m1: equ 1 2
u1: equ +5
u2: equ --3
u3: equ -~3
c1: equ 'AB'
c2: equ 'ABC'
w1: equ 80000000h/-1
	org 100h
h1: equ $
h2: equ $+2
;; The expression edge cases, each given as an equ so the listing shows its value, with their
;; warnings in the listing and on standard error.
;; exit: 7
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Warning : Divide by zero encountered. '5 / 0'.
;; stderr: 10.11: d0: equ 5/0
;; stderr:
;; stderr: Warning : Illegal expression, missing '('
;; stderr: 12.12: p2: equ 1+2)
;; stderr:
;; stderr: Warning : Missing operator in expression. Last calculated value used.
;; stderr: 13.11: m1: equ 1 2
;; stderr:
;; stderr: Warning : Illegal expression, Two operands are required for addition.
;; stderr: 14.10: u1: equ +5
;; stderr:
;; stderr: Warning : Illegal expression, No value to negate.
;; stderr: 15.10: u2: equ --3
;; stderr:
;; stderr: Warning : Illegal expression, No value to negate.
;; stderr: 16.10: u3: equ -~3
;; stderr:
;; stderr: Warning : Character data type cannot exceed 2 characters: 'ABC'
;; stderr: 18.13: c2: equ 'ABC'
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: 0007=           v1: equ 1+2*3
;; listing: 0009=           v2: equ (1+2)*3
;; listing: FFFFFFFA=           v3: equ 2*-3
;; listing: 0005=           v4: equ 2--3
;; listing: FFFFFFFB=           v5: equ -2-3
;; listing: 0002=           v6: equ 8/3
;; listing: FFFFFFFD=           v7: equ -7/2
;; listing: 00FF=           v8: equ ~0&0FFh
;; listing: 0001=           v9: equ 1|2^3&6
;; listing: **** Warning : Divide by zero encountered. '5 / 0'.
;; listing: 0000=           d0: equ 5/0
;; listing: 0003=           p1: equ (1+2
;; listing: **** Warning : Illegal expression, missing '('
;; listing: 0003=           p2: equ 1+2)
;; listing: **** Warning : Missing operator in expression. Last calculated value used.
;; listing: 0002=           m1: equ 1 2
;; listing: **** Warning : Illegal expression, Two operands are required for addition.
;; listing: 0005=           u1: equ +5
;; listing: **** Warning : Illegal expression, No value to negate.
;; listing: FFFFFFFD=           u2: equ --3
;; listing: **** Warning : Illegal expression, No value to negate.
;; listing: FFFFFFFC=           u3: equ -~3
;; listing: 4142=           c1: equ 'AB'
;; listing: **** Warning : Character data type cannot exceed 2 characters: 'ABC'
;; listing: 4142=           c2: equ 'ABC'
;; listing: 80000000=           w1: equ 80000000h/-1
;; listing: 0100                    org 100h
;; listing: 0100=           h1: equ $
;; listing: 0102=           h2: equ $+2
;; listing:
;; listing: CheckSum = 0000
;; listing: Warnings = 7
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing: 4142 = c1                     0
;; listing: 4142 = c2                     0
;; listing:    0 = d0                     0
;; listing:  100 = h1                     0
;; listing:  102 = h2                     0
;; listing:    2 = m1                     0
;; listing:    3 = p1                     0
;; listing:    3 = p2                     0
;; listing:    5 = u1                     0
;; listing: fffffffd = u2                     0
;; listing: fffffffc = u3                     0
;; listing:    7 = v1                     0
;; listing:    9 = v2                     0
;; listing: fffffffa = v3                     0
;; listing:    5 = v4                     0
;; listing: fffffffb = v5                     0
;; listing:    2 = v6                     0
;; listing: fffffffd = v7                     0
;; listing:   ff = v8                     0
;; listing:    1 = v9                     0
;; listing: 80000000 = w1                     0
