Attribute VB_Name = "Module1"
Option Explicit
' Adds two numbers
Public Function AddUp(ByVal a As Long, ByVal b As Long) As Long
    Dim total As Long
    total = a + b + &HFF& + 1.5E3
    If total > 10 Then MsgBox "Big ""total""", vbOKOnly
    Rem a remark
    AddUp = total
End Function
#If Win32 Then
#End If
