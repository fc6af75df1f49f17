lbl:	nop
lbl:	nop
	macro	twice p
again:	db	p
	endm
	twice	1	; first
	twice	2	; second
	ds	"a	b"
after:	jmp	after
	org	zz	; unresolved
zz:	nop
;; Pass 1 takes a line without quotes with its tabs, but every report it shows gives the line
;; and the column as the listing has them, also a message that quotes the line; a tab inside
;; quotes is text, so pass 1 measures the string with its blanks (after at 000Ch).
;; exit: 1
;; stderr:
;; stderr: Warning : Label 'lbl' is already defined
;; stderr: 2.8: lbl:    nop
;; stderr:
;; stderr: Error : Unable to resolve ORG in first pass, labels following will be incorrect on second pass.
;; stderr: '        org     zz      ; unresolved'
;; stderr: 10.36:         org     zz      ; unresolved
;; rom: 20 20 01 02 61 20 20 20
;; rom: 20 20 20 62 80 0C 20 |
