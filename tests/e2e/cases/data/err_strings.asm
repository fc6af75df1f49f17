	org 20h
	ds "Hello"
	org 30h
	dsu "Hi"
	ds "xy\"z"
	ds abc
	ds ""
	ds "abcdefghijklmnopqrstuvwxyz0123"
	dsu "A"
;; ds and dsu: the header and continuation layouts, a backslash escape, a string without quotes,
;; an empty string.
;; exit: 1
;; stdout: ZELAS Version 1.94 |
;; stdout: For A and B series USB Microcontrollers
;; stdout: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; stdout:
;; stdout: Complete (with warnings and/or errors)
;; stderr:
;; stderr: Warning : Missing '"' to string
;; stderr: 6.11:         ds abc
;; listing: ZELAS Version 1.94 |
;; listing: Two-pass assembler: listing, ROM dump and Intel HEX output.
;; listing:
;; listing: 0020                    org 20h
;; listing: 0020 48 65 ...          ds "Hello"
;; listing:      6C 6C 6F |
;; listing: 0030                    org 30h
;; listing: 0030 48 00 ...          dsu "Hi"
;; listing:      69 00 |
;; listing: 0034 78 79 ...          ds "xy\"z"
;; listing:      22 7A |
;; listing: **** Warning : Missing '"' to string
;; listing: 0038 62 63 ...          ds abc
;; listing: 003A 00                 ds ""
;; listing: 003A 61 62 ...          ds "abcdefghijklmnopqrstuvwxyz0123"
;; listing:      63 64 65 66 67 68 69 6A 6B 6C 6D 6E 6F 70 71 72 73 74 75 76 77 78 79 7A 30 |
;; listing:      31 32 33 |
;; listing: 0058 41 00                dsu "A"
;; listing:
;; listing: CheckSum = 111D
;; listing: Warnings = 1
;; listing: Errors   = 0
;; listing:
;; listing: Product: PX101, CPU Family=A, RAM=128 bytes, ROM=2048 bytes
;; listing:
;; listing:  ************ SYMBOLIC REFERENCE TABLE ************
;; listing:
;; listing: Value  Label                # Uses |
;; listing: -----  -------------------- ------
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 48 65 6C 6C 6F 00 00 00
;; rom: 00 00 00 00 00 00 00 00
;; rom: 48 00 69 00 78 79 22 7A
;; rom: 62 63 61 62 63 64 65 66
;; rom: 67 68 69 6A 6B 6C 6D 6E
;; rom: 6F 70 71 72 73 74 75 76
;; rom: 77 78 79 7A 30 31 32 33
;; rom: 41 00 |
;; hex: :200000000000000000000000000000000000000000000000000000000000000000000000E0
;; hex: :2000200048656C6C6F0000000000000000000000480069007879227A626361626364656674
;; hex: :200040006768696A6B6C6D6E6F707172737475767778797A303132334100000000000000CF
;; hex: :00000001FF
