	db	300
	db	301
	db	302
	db	303
;; --max-reports sets how many reports a run shows; the next one stops the run with a fatal
;; error, which says so. Every report is counted up to the stop.
;; args: --max-reports=2 prog
;; exit: 1
;; stderr:
;; stderr: Warning : '12Ch' is larger than a byte.
;; stderr: 1.19:         db      300
;; stderr:
;; stderr: Warning : '12Dh' is larger than a byte.
;; stderr: 2.19:         db      301
;; stderr:
;; stderr: Error : More than 2 reports; Cannot continue; --max-reports=N sets the bound.
;; stderr: 3.19:         db      302
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: **** Warning : '12Ch' is larger than a byte.
;; listing: 0000 2C    [00]         db      300
;; listing: **** Warning : '12Dh' is larger than a byte.
;; listing: 0001 2D    [00]         db      301
;; listing: ; Error : More than 2 reports; Cannot continue; --max-reports=N sets the bound.
