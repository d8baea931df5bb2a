' Greets the user and counts the files of a folder.
Option Explicit

Dim fso, folder, count, name
Const MaxFiles = &H400
Set fso = CreateObject("Scripting.FileSystemObject")

Function CountFiles(path)
  Dim f, n
  n = 0
  For Each f In fso.GetFolder(path).Files
    If f.Size > 0 Then n = n + 1
  Next
  CountFiles = n
End Function

Sub Greet(ByVal who)
  REM a remark that runs to the end of the line
  If who = "" Then who = "stranger"
  MsgBox "Hello, " & who & "! It's " & Time()
End Sub

name = InputBox("Your name?")
Greet name
count = CountFiles("C:\Temp")
If count > MaxFiles Then
  WScript.Echo "Too many: " & count & " files (""big"" folder)"
Else
  WScript.Echo count & " files, " & 1.5e3 & " bytes each at most"
End If
