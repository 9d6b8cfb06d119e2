;; Drawing: samples/contours.dxf
;; Checked with ezdxf: layers 0, 等高线 (colour 3), 计曲线, 高程点, 高程注记 in that order;
;; one block, GCD, of a CIRCLE and an ATTDEF; text style Standard. The file has no
;; Defpoints layer (ezdxf adds one when it loads a drawing).

;; Testing tblnext walks a table and tblsearch finds an entry
(tblnext "layer" T)
;=>((0 . "LAYER") (2 . "0") (70 . 0) (62 . 7) (6 . "Continuous") (370 . -3))
(cdr (assoc 2 (tblnext "LAYER")))
;=>"等高线"
(setq names nil)
;=>nil
(while (setq r (tblnext "layer")) (setq names (cons (cdr (assoc 2 r)) names)))
;=>("高程注记" "高程点" "计曲线")
(tblnext "LAYER")
;=>nil
(cdr (assoc 2 (tblnext "LAYER" T)))
;=>"0"
(tblsearch "Layer" "等高线")
;=>((0 . "LAYER") (2 . "等高线") (70 . 0) (62 . 3) (6 . "Continuous") (370 . -3))
(tblsearch "LAYER" "nosuch")
;=>nil
(cdr (assoc 2 (tblsearch "LAYER" "计曲线" T)))
;=>"计曲线"
(cdr (assoc 2 (tblnext "LAYER")))
;=>"高程点"
(tblnext "block" T)
;=>((0 . "BLOCK") (2 . "GCD") (70 . 2) (10 0.0 0.0 0.0) (-2 . <Entity name: 35>))
(cdr (assoc 0 (entget (cdr (assoc -2 (tblnext "BLOCK" T))))))
;=>"CIRCLE"
(tblnext "BLOCK")
;=>nil
(cdr (assoc 0 (tblsearch "STYLE" "standard")))
;=>"STYLE"
(cdr (assoc 2 (tblnext "APPID" T)))
;=>"ACAD"
(tblnext "tables")
;!bad argument value: table name: "tables"

;; Testing tblobjname and entget of a table entry
(setq l (tblobjname "layer" "0"))
;=><Entity name: b>
(cdr (assoc 0 (entget l)))
;=>"LAYER"
(cdr (assoc 5 (entget l)))
;=>"B"
(cdr (assoc 62 (entget l)))
;=>7
(tblobjname "LAYER" "nosuch")
;=>nil
(entupd l)
;=>nil
(equal (entupd (entlast)) (entlast))
;=>T

;; Testing ssnamex tells how members were selected
(type (setq s (ssget "X" '((0 . "TEXT")))))
;=>PICKSET
(car (car (ssnamex s 0)))
;=>0
(ssnamex s -1)
;=>nil
(ssnamex s 207)
;=>nil
(length (ssnamex s))
;=>207
(setq e (ssname s 0) p (cdr (assoc 10 (entget e))))
(equal (ssnamex (ssget p) 0) (list (list 1 e 0 (list 0 p))))
;=>T
(type (setq w (ssget "W" (list (- (car p) 0.5) (- (cadr p) 0.5)) (list (+ (car p) 20) (+ (cadr p) 20)))))
;=>PICKSET
(car (nth (1- (length (ssnamex w))) (ssnamex w)))
;=>-1
(length (last (ssnamex w)))
;=>5
(mapcar 'car (vl-remove-if '(lambda (i) (minusp (car i))) (ssnamex w)))
;=>(2)
(car (car (ssnamex (ssadd e))))
;=>0
