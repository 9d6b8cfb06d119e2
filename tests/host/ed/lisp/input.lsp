;; Testing points, corners and distances answered from the script
(getpoint "\nPoint: ")
3,4
;=>(3.0 4.0 0.0)
(getpoint '(0 0) "\nNext point: ")
@1,1
;=>(4.0 5.0 0.0)
(getpoint)

;=>nil
(getcorner '(0 0) "\nOther corner: ")
6,2,9
;=>(6.0 2.0 0.0)
(getcorner "\nNo base: ")
;!bad argument type: 2D/3D point: "\nNo base: "
(getdist '(1 1) "\nLength: ")
4,5
;=>5.0
(getdist "\nLength: ")
2.5
;=>2.5
(getdist)
1,1
4,5
;=>5.0
(getreal "\nScale: ")
2
;=>2.0

;; Testing initget controls and keywords
(initget 7)
;=>nil
(getint "\nRows: ")
0
-1
2.5
x
5
;=>5
(getint)

;=>nil
(initget 1)
;=>nil
(getreal)

3.5
;=>3.5
(initget "Yes No")
;=>nil
(getkword "\nErase? [Yes/No]: ")
maybe
y
;=>"Yes"
(getkword "\nWithout keywords: ")
anything
;=>nil
(initget 128)
;=>nil
(getpoint "\nPoint or text: ")
north corner
;=>"north corner"
(initget "Last")
;=>nil
(getpoint)
L
;=>"Last"
(initget 1 "Yes No")
;=>nil
(getkword)

n
;=>"No"

;; Testing angles read relative to ANGBASE and ANGDIR
(getangle "\nRotation: ")
90
;=>1.5708
(getangle '(0 0))
0,-2
;=>4.71239
(getangle)
1,1
2,2
;=>0.785398
(setvar "ANGBASE" (/ pi 2))
;=>1.5708
(setvar "ANGDIR" 1)
;=>1
(getangle "\nRotation: ")
90
;=>4.71239
(getorient "\nRotation: ")
90
;=>0.0
(getangle '(0 0))
-1,0
;=>1.5708
(setvar "AUNITS" 1)
;=>1
(getorient)
45d30'
;=>0.776672
(progn (setvar "ANGBASE" 0) (setvar "ANGDIR" 0) (setvar "AUNITS" 0))
;=>0

;; Testing text answers
(getstring "\nName: ")
Room 12
;=>"Room"
(getstring T "\nLabel: ")
Room 12
;=>"Room 12"
(getstring)

;=>""
(getstring T)
C:\tmp
;=>"C:\\tmp"
(strlen (getstring T))
123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789012345
;=>132

;; Testing a cancelled input ends the program
(getpoint "\nCancel me: ")
^C
;!Function cancelled
(defun *error* (msg) (princ (strcat "caught: " msg)) (princ))
;=>*ERROR*
(progn (getint) (princ "not reached"))
^C
;/caught: Function cancelled
(setq *error* nil)
;=>nil

;; Testing entsel and nentsel on a line drawn here
(command "LINE" '(0 0) '(10 0) "")
;=>nil
(setq picked (entsel "\nPick: "))
5,0
(equal (car picked) (entlast))
;=>T
(cadr picked)
;=>(5.0 0.0 0.0)
(entsel)
100,100
;=>nil
(entsel)

;=>nil
(initget "Undo")
;=>nil
(entsel)
u
;=>"Undo"
(equal (nentsel) (list (entlast) '(10.0 0.0 0.0)))
10,0
;=>T
(nentsel)
^C
;!Function cancelled
