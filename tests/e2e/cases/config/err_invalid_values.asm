	db 1
	org 3
;; Invalid values are reported with the configuration file's line number and keep the earlier
;; setting, which the message names; a key run together with more letters warns about the
;; delimiter. fillrom 1K and tab 1B are valid (1024, and binary 1). The -c file is read instead
;; of zelas.cfg.
;; args: prog -c my.cfg
;; file my.cfg: tab 1B
;; file my.cfg: fillrom 1K
;; file my.cfg: fillrom FF
;; file my.cfg: tab = 4
;; file my.cfg: tabs 2
;; file my.cfg: something else entirely
;; file zelas.cfg: tab 7
;; exit: 5
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Warning : Unable to resolve config value 'fillrom FF': Using default, fillrom = 400h.
;; stderr:
;; stderr: 3.10: fillrom FF
;; stderr:
;; stderr: Warning : Expecting an AlphaNumeric or Operator: Found '='
;; stderr: 4.4: tab = 4
;; stderr:
;; stderr: Warning : Unable to resolve config value 'tab = 4': Using default, tab = 1.
;; stderr:
;; stderr: 4.5: tab = 4
;; stderr:
;; stderr: Warning : Space or tab delimiter required after 'tab'.
;; stderr: 5.3: tabs 2
;; stderr:
;; stderr: Warning : Unable to resolve config value 'tabs 2': Using default, tab = 1.
;; stderr:
;; stderr: 5.5: tabs 2
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing:
;; listing:  Using Configuration File 'my.cfg'.
;; listing:
;; listing: **** Warning : Unable to resolve config value 'fillrom FF': Using default, fillrom = 400h.
;; listing:
;; listing: **** Warning : Expecting an AlphaNumeric or Operator: Found '='
;; listing: **** Warning : Unable to resolve config value 'tab = 4': Using default, tab = 1.
;; listing:
;; listing: **** Warning : Space or tab delimiter required after 'tab'.
;; listing: **** Warning : Unable to resolve config value 'tabs 2': Using default, tab = 1.
;; listing:
;; listing: 0000 01    [00]  db 1
;; listing: 0003             org 3
;; listing:
;; listing: CheckSum = 0001
;; listing: Warnings = 5
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; rom: 01 00 00 |
