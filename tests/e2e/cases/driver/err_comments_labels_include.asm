; comment line

start:
	include "inc.asm" ; the comment is ignored
foo bar
;; A source of comments, blank lines, labels and an include: each diagnostic appears once on
;; standard error with its position line and once in the listing, included lines keep their own
;; numbers, and the main source goes on with its next line.
;; file inc.asm: x:
;; file inc.asm: ; in include
;; file inc.asm: bogus
;; exit: 2
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Warning : Illegal or unknown instruction 'bogus'.
;; stderr: 3.5: bogus
;; stderr:
;; stderr: Warning : Illegal or unknown instruction 'foo'.
;; stderr: 5.4: foo bar
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing:                 ; comment line
;; listing:                 |
;; listing: 0000            start:
;; listing: 0000            x:
;; listing:                 ; in include
;; listing: **** Warning : Illegal or unknown instruction 'bogus'.
;; listing: 0000            bogus
;; listing: **** Warning : Illegal or unknown instruction 'foo'.
;; listing: 0000            foo bar
;; listing:
;; listing: CheckSum = 0000
;; listing: Warnings = 2
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; listing:    0   start                  0
;; listing:    0   x                      0
