; hello.asm: a first zelas program.
start:
	nop
