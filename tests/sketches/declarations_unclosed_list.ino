// Simulate Uno
int a[3] = {1,
2,
