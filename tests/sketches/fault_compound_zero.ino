// Simulate Uno
int x = 7;
x /= 0;
x %= 0;
float f = 1.5;
f = f / 0;
