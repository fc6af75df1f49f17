	include "defs.inc"
start:	mov a, LIMIT
.loop:	dec a
	jnz .loop
Done:	jmp Done
;; --deps and --symbols together: the rule names the source, the include found through the search
;; list and the configuration file, and has the symbols file among its targets; the symbols file
;; lists every label, locals named after their scope, in byte order.
;; args: --include-path=lib --deps=prog.d --symbols=prog.sym prog
;; file lib/defs.inc: LIMIT:	equ 10
;; file zelas.cfg: tab 8
;; exit: 0
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete!
;; empty: stderr
;; out prog.d: prog.lst prog.rom prog.hex prog.sym: prog.asm lib/defs.inc zelas.cfg
;; out prog.d:
;; out prog.d: lib/defs.inc:
;; out prog.d:
;; out prog.d: zelas.cfg:
;; out prog.sym: Done: equ 05h
;; out prog.sym: LIMIT: equ 0Ah
;; out prog.sym: start: equ 00h
;; out prog.sym: start.loop: equ 02h
