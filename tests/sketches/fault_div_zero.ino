// Simulate Uno
int x = 7;
x = 10 / 0;
int after = 1;
