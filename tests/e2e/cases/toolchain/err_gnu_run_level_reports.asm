	nop
;; GNU style: reports that belong to no line of a file name the program: an unknown -p product
;; and a configuration file that can't be opened (neither is counted differently than before).
;; args: --diagnostics=gnu -pPX999 -cnone.cfg prog
;; exit: 1
;; stderr: zelas: warning: Product ID 'PX999'is unknown!
;; stderr: zelas: warning: Unable to open config file, 'none.cfg': Using default values.
