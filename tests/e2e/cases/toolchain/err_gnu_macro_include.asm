	macro twice v
	db v, v
	bogus v
	endm
start:	twice 300
	include "part.inc"
x:	equ later
later:	equ 3
;; GNU-style reports: a fault in an included file names that file; faults from a macro expansion
;; point at the body line of the definition and add a note per expansion level, at the token
;; that invoked it; a message ending in a line end
;; stays one line; the listing is exactly the classic one.
;; args: --diagnostics=gnu prog
;; file part.inc: ; part
;; file part.inc: 	twice 1
;; file part.inc: 	nothere
;; exit: 6
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr: prog.asm:7:13: warning: Label 'x' undefined after first pass.
;; stderr: prog.asm:2:12: warning: '12Ch' is larger than a byte.
;; stderr: prog.asm:5:9: note: in expansion of macro 'twice'
;; stderr: prog.asm:2:15: warning: '12Ch' is larger than a byte.
;; stderr: prog.asm:5:9: note: in expansion of macro 'twice'
;; stderr: prog.asm:3:9: warning: Illegal or unknown instruction 'bogus'.
;; stderr: prog.asm:5:9: note: in expansion of macro 'twice'
;; stderr: prog.asm:3:9: warning: Illegal or unknown instruction 'bogus'.
;; stderr: part.inc:2:9: note: in expansion of macro 'twice'
;; stderr: part.inc:3:9: warning: Illegal or unknown instruction 'nothere'.
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: **** Warning : Label 'x' undefined after first pass.
;; listing:
;; listing: 0000                    macro twice v
;; listing: 0000                    db v, v
;; listing: 0000                    bogus v
;; listing: 0000                    endm
;; listing: **** MACRO **** start:  twice 300
;; listing: **** Warning : '12Ch' is larger than a byte.
;; listing: 0000 2C    [00]         db 300, 300
;; listing: **** Warning : '12Ch' is larger than a byte.
;; listing: 0001 2C    [00] |
;; listing: **** Warning : Illegal or unknown instruction 'bogus'.
;; listing: 0002                    bogus 300
;; listing: ***END MACRO*** |
;; listing:                 ; part
;; listing: **** MACRO ****         twice 1
;; listing: 0002 01    [00]         db 1, 1
;; listing: 0003 01    [00] |
;; listing: **** Warning : Illegal or unknown instruction 'bogus'.
;; listing: 0004                    bogus 1
;; listing: ***END MACRO*** |
;; listing: **** Warning : Illegal or unknown instruction 'nothere'.
;; listing: 0004                    nothere
;; listing: 0003=           x:      equ later
;; listing: 0003=           later:  equ 3
;; listing:
;; listing: CheckSum = 005A
;; listing: Warnings = 6
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    3 = later                  1
;; listing:    0   start                  0
;; listing:    3 = x                      0
