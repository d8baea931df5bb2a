@echo off
rem Build the project
:: another comment
setlocal
set TARGET=%1
if "%TARGET%"=="" goto usage
for %%f in (*.txt) do echo %%f
call :build !TARGET! %~n1
goto :eof
:usage
echo Usage: build target
remark is not a comment
