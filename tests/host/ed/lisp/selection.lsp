;; Drawing: samples/contours.dxf
;; Counts checked with ezdxf: 121 LWPOLYLINE (52 closed), 14 POLYLINE, 71 CIRCLE,
;; 65 POINT, 71 INSERT, 207 TEXT; layers 高程点 207, 高程注记 207, 等高线 125, 计曲线 10.

;; Testing filter values of the wrong type are errors
(ssget "X" '((0 . 5)))
;!bad ssget filter: value is not a string: (0 . 5)
(ssget "X" '((8 . 1)))
;!bad ssget filter: value is not a string: (8 . 1)
(ssget "X" '((0 1 2 3)))
;!bad ssget filter: value is not a string: (0 1 2 3)
(ssget "X" '((-4 . 5)))
;!bad ssget filter: operator is not a string: (-4 . 5)
(ssget "X" '((10 . "x")))
;!bad ssget filter: value is not a point: (10 . "x")
(ssget "X" '((62 . "x")))
;!bad ssget filter: value is not an integer: (62 . "x")
(ssget "X" '((62 . 1.5)))
;!bad ssget filter: value is not an integer: (62 . 1.5)
(ssget "X" '((62 . 70000)))
;!bad ssget filter: value out of range: (62 . 70000)
(ssget "X" '((10 1 2 3 4)))
;!bad ssget filter: value is not a point: (10 1 2 3 4)
(ssget "X" '(5))
;!bad ssget filter: not a (code . value) pair: 5
(ssget "X" '(("8" . "0")))
;!bad ssget filter: not a (code . value) pair: ("8" . "0")
(ssget "X" '((-3 . "APP")))
;!bad ssget filter: no application names: (-3 . "APP")
(ssget "X" '((-3 (1))))
;!bad ssget filter: application name is not a string: (-3 (1))

;; Testing logical groups must balance
(ssget "X" '((-4 . "<OR") (0 . "LINE")))
;!bad ssget filter: unbalanced or empty grouping: ((-4 . "<OR") (0 . "LINE"))
(ssget "X" '((-4 . "<NOT") (0 . "LINE") (0 . "ARC") (-4 . "NOT>")))
;!bad ssget filter: unbalanced or empty grouping: ((-4 . "<NOT") (0 . "LINE") (0 . "ARC") (-4 . "NOT>"))
(ssget "X" '((-4 . "<XOR") (0 . "LINE") (-4 . "XOR>")))
;!bad ssget filter: unbalanced or empty grouping: ((-4 . "<XOR") (0 . "LINE") (-4 . "XOR>"))
(ssget "X" '((0 . "LINE") (-4 . "=")))
;!bad ssget filter: comparison without a group: ((0 . "LINE") (-4 . "="))
(sslength (ssget "X" '((-4 . "<or") (0 . "CIRCLE") (0 . "POINT") (-4 . "OR>"))))
;=>136
(sslength (ssget "X" '((-4 . "<Xor") (0 . "TEXT") (8 . "高程*") (-4 . "xor>"))))
;=>207

;; Testing groups a filter passes over
(sslength (ssget "X" '((-1 . 3) (5 . "zz") (1000 . "x") (1071 . 7) (9999 . 1) (0 . "LWPOLYLINE"))))
;=>121
(sslength (ssget "X" '((-4 . "!=") (5 . "38") (0 . "TEXT"))))
;=>207

;; Testing relational and bit tests
(sslength (ssget "X" '((0 . "LWPOLYLINE") (-4 . "&") (70 . 1))))
;=>52
(sslength (ssget "X" '((0 . "LWPOLYLINE") (-4 . "&=") (70 . 1))))
;=>52
(sslength (ssget "X" '((0 . "CIRCLE") (-4 . ">") (40 . 0.1) (-4 . "<") (40 . 0.2))))
;=>71
(ssget "X" '((0 . "CIRCLE") (-4 . "&") (40 . 1.0)))
;!bad ssget filter: unbalanced or empty grouping: ((0 . "CIRCLE") (-4 . "&") (40 . 1.0))
(sslength (ssget "X" '((8 . "高程*,计曲线"))))
;=>424
(ssget "X" '((0 . "*A*A*A*A*A*A*A*A*A*A*A*A*B")))
;=>nil
