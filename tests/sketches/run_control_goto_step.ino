int x = 1;
top:
x = 2;
goto top;
