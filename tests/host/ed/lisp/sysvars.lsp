;; Testing the variables routines read, as a new drawing has them
(getvar "OSMODE")
;=>4133
(getvar "DIMZIN")
;=>0
(getvar "CTAB")
;=>"Model"
(getvar "EXTMIN")
;=>(1.0e+20 1.0e+20 1.0e+20)
(getvar "EXTMAX")
;=>(-1.0e+20 -1.0e+20 -1.0e+20)
(getvar "ANGBASE")
;=>0.0
(getvar "ANGDIR")
;=>0
(list (getvar "AUNITS") (getvar "AUPREC") (getvar "LUNITS") (getvar "LUPREC"))
;=>(0 0 2 4)
(getvar "TEXTSIZE")
;=>2.5
(getvar "TEXTSTYLE")
;=>"Standard"
(getvar "CECOLOR")
;=>"BYLAYER"
(getvar "CELTYPE")
;=>"BYLAYER"
(getvar "DWGNAME")
;=>"Drawing1.dxf"
(= (substr (getvar "DWGPREFIX") (strlen (getvar "DWGPREFIX"))) "/")
;=>T
(list (getvar "UNITMODE") (getvar "INSUNITS") (getvar "HIGHLIGHT") (getvar "FILEDIA") (getvar "CMDDIA"))
;=>(0 4 1 0 0)
(list (type (getvar "CDATE")) (>= (fix (/ (getvar "CDATE") 10000)) 2024))
;=>(REAL T)
(list (type (getvar "DATE")) (> (getvar "DATE") 2460310.5))
;=>(REAL T)
(getvar "cdate-not")
;=>nil

;; Testing setting them
(setvar "TEXTSIZE" 3)
;=>3
(getvar "TEXTSIZE")
;=>3.0
(setvar "TEXTSIZE" 0)
;!setvar rejected: TEXTSIZE
(setvar "CECOLOR" "red")
;=>"red"
(getvar "CECOLOR")
;=>"1"
(setvar "CECOLOR" "256")
;!setvar rejected: CECOLOR
(setvar "TEXTSTYLE" "nosuchstyle")
;!setvar rejected: TEXTSTYLE
(setvar "CTAB" "Model")
;=>"Model"
(setvar "EXTMIN" '(0 0 0))
;!setvar rejected: EXTMIN
(setvar "OSMODE" 16384)
;=>16384
(setvar "ANGBASE" (/ pi 2))
;=>1.5708

;; Testing rtos and angtos take their defaults from the variables
(setvar "DIMZIN" 8)
;=>8
(rtos 3.5 2 3)
;=>"3.5"
(rtos 3.0 2 3)
;=>"3"
(setvar "DIMZIN" 12)
;=>12
(rtos 0.5 2 3)
;=>".5"
(setvar "DIMZIN" 0)
;=>0
(setvar "LUNITS" 4)
;=>4
(rtos 29.25)
;=>"2'-5 1/4\""
(distof "2'-5 1/4\"")
;=>29.25
(setvar "UNITMODE" 1)
;=>1
(rtos 29.25)
;=>"2'5-1/4\""
(setvar "AUNITS" 1)
;=>1
(angtos (/ pi 4))
;=>"45d"
(angtof "45d30'")
;=>0.794125
(setvar "AUNITS" 4)
;=>4
(angtos (* pi 0.75))
;=>"N45dW"
(setvar "LUNITS" 6)
;!setvar rejected: LUNITS
