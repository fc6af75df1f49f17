	ds	ab	c		d
after:	jmp	after
	dsu	xy	z
;; ds and dsu without quotes take the rest of the line as their text, its tabs expanded as the
;; listing shows them, also in pass 1, which sizes the strings: after stands at 0018h.
;; exit: 2
;; stderr:
;; stderr: Warning : Missing '"' to string
;; stderr: 1.16:         ds      ab      c               d
;; stderr:
;; stderr: Warning : Missing '"' to string
;; stderr: 3.16:         dsu     xy      z
;; rom: 62 20 20 20 20 20 20 63
;; rom: 20 20 20 20 20 20 20 20
;; rom: 20 20 20 20 20 20 20 64
;; rom: 80 18 79 00 20 00 20 00
;; rom: 20 00 20 00 20 00 20 00
;; rom: 7A 00 |
