' VBScript sample
Option Explicit
Dim fso, count
Set fso = CreateObject("Scripting.FileSystemObject")
count = 0
Do While count < 10 : count = count + 1 : Loop
If IsNumeric("42") Then WScript.Echo "Count: " & count
Rem done
d = #12/10/2026#
s = "unclosed
