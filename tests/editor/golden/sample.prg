* FoxPro sample
LOCAL lnCount, lcName
lnCount = 10 && counter
lcName = "Fox" + 'Pro' + [brackets]
IF lnCount > 5 .AND. .T.
   ? UPPER(lcName), ALLTRIM(STR(lnCount))
ENDIF
USE customers
SCAN FOR city = "Boston"
ENDSCAN
#DEFINE MAXROWS 100
