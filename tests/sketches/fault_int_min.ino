// Simulate Uno
long a = -2147483647 - 1;
long q = 5;
q = a / -1;
long r = 5;
r = a % -1;
