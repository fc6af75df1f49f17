; counter.asm: counts up on port 0. The include is found through --include-path=inc.
	include	"ports.inc"
start:
	mov	a, 0
.next:
	iowr	PORT0
	inc	a
	jmp	.next
