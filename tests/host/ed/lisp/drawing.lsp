;; Testing LINE, CIRCLE, ARC and PLINE run from LISP
(command "LINE" '(0 0) '(5 0) "5,3" "")
;=>nil
(cdr (assoc 0 (entget (entlast))))
;=>"LINE"
(list (cdr (assoc 10 (entget (entlast)))) (cdr (assoc 11 (entget (entlast)))))
;=>((5.0 0.0 0.0) (5.0 3.0 0.0))
(sslength (ssget "X" '((0 . "LINE"))))
;=>2
(command "LINE" '(0 0) '(1 0) '(1 1) "C")
;=>nil
(sslength (ssget "X" '((0 . "LINE"))))
;=>5
(command "LINE" '(0 0) '(1 0) '(2 0) "U" "")
;=>nil
(sslength (ssget "X" '((0 . "LINE"))))
;=>6
(command "CIRCLE" '(10 10) 2.5)
;=>nil
(list (cdr (assoc 10 (entget (entlast)))) (cdr (assoc 40 (entget (entlast)))))
;=>((10.0 10.0 0.0) 2.5)
(command "CIRCLE" '(10 10) "D" 3)
;=>nil
(cdr (assoc 40 (entget (entlast))))
;=>1.5
(command "CIRCLE" '(10 10) '(13 14))
;=>nil
(cdr (assoc 40 (entget (entlast))))
;=>5.0
(command "CIRCLE" "2P" '(0 0) '(4 0))
;=>nil
(cdr (assoc 10 (entget (entlast))))
;=>(2.0 0.0 0.0)
(command "CIRCLE" "3P" '(0 0) '(2 0) '(1 1))
;=>nil
(list (cdr (assoc 10 (entget (entlast)))) (cdr (assoc 40 (entget (entlast)))))
;=>((1.0 0.0 0.0) 1.0)
(command "CIRCLE" "3P" '(0 0) '(1 0) '(2 0))
;=>nil
(cdr (assoc 40 (entget (entlast))))
;=>1.0
(command "ARC" '(1 0) '(0 1) '(-1 0))
;=>nil
(mapcar '(lambda (g) (cdr (assoc g (entget (entlast))))) '(10 40 50 51))
;=>((0.0 0.0 0.0) 1.0 0.0 180.0)
(command "ARC" '(1 0) '(0 -1) '(-1 0))
;=>nil
(mapcar '(lambda (g) (cdr (assoc g (entget (entlast))))) '(50 51))
;=>(180.0 0.0)
(command "ARC" "C" '(0 0) '(0 2) '(-2 0))
;=>nil
(mapcar '(lambda (g) (cdr (assoc g (entget (entlast))))) '(10 40 50 51))
;=>((0.0 0.0 0.0) 2.0 90.0 180.0)
(command "PLINE" '(0 0) '(10 0) "A" '(10 10) "L" '(0 10) "C")
;=>nil
(setq pl (entget (entlast)))
(list (cdr (assoc 90 pl)) (cdr (assoc 70 pl)) (vl-remove 0.0 (mapcar 'cdr (vl-remove-if-not '(lambda (g) (= (car g) 42)) pl))))
;=>(4 1 (1.0))
(command "PLINE" '(0 0) "W" 0.5 '(3 4) "")
;=>nil
(list (cdr (assoc 43 (entget (entlast)))) (cdr (assoc 90 (entget (entlast)))))
;=>(0.5 2)
(command "CIRCLE" '(0 0) 0)
^C
;!Function cancelled

;; Testing new entities take the current layer and colour
(setvar "CLAYER" "0")
;=>"0"
(command "LAYER" "M" "WALLS" "C" "1" "" "")
;=>nil
(setvar "CECOLOR" "3")
;=>"3"
(command "LINE" '(0 0) '(1 1) "")
;=>nil
(list (cdr (assoc 8 (entget (entlast)))) (cdr (assoc 62 (entget (entlast)))))
;=>("WALLS" 3)

;; Testing the LAYER options
(tblsearch "LAYER" "WALLS")
;=>((0 . "LAYER") (2 . "WALLS") (70 . 0) (62 . 1) (6 . "Continuous") (370 . -3))
(command "LAYER" "N" "高程点,B" "OFF" "B" "F" "高程*" "LO" "WALLS" "")
;=>nil
(mapcar '(lambda (n) (cdr (assoc 70 (tblsearch "LAYER" n)))) '("WALLS" "高程点" "B"))
;=>(4 1 0)
(cdr (assoc 62 (tblsearch "LAYER" "B")))
;=>-7
(command "LAYER" "ON" "*" "T" "*" "U" "*" "S" "B" "")
;=>nil
(list (getvar "CLAYER") (cdr (assoc 70 (tblsearch "LAYER" "WALLS"))) (cdr (assoc 62 (tblsearch "LAYER" "B"))))
;=>("B" 0 7)
(command "LAYER" "F" "B" "")
;=>nil
(cdr (assoc 70 (tblsearch "LAYER" "B")))
;=>0
(command "LAYER" "S" "NOSUCH" "")
;=>nil
(getvar "CLAYER")
;=>"B"
(command "LAYER" "M" "bad<name" "")
;=>nil
(tblsearch "LAYER" "bad<name")
;=>nil
(command "LAYER" "X")
^C
;!Function cancelled
LAYER
;/
;/Layer name                      State          Color  Linetype
;/0                               On                 7  Continuous
;/WALLS                           On                 1  Continuous
;/高程点                          On                 7  Continuous
;/B                               On                 7  Continuous
