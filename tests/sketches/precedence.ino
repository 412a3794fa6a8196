// Simulate Uno
// Operators bind in table order, not by the usual C rules.
int a = 1;
int b = 2;
int c = 3;
int r1 = a + b * c;   // "*" splits first: (a + b) * c = 9
int r2 = a - b - c;   // left to right: -4
bool t = 1 && 0 || 1; // 1 && (0 || 1)
int half = -5 >> 1;   // rounds toward zero: -2
int rest = -7 % 3;    // sign of the dividend: -1
int sh = 1 << 3;
int neg = 5 - -3;
int notm = !(-1);
long z = 2147483647;
z = z + 1;            // wraps silently
int k = 32767;
k++;                  // an int's range shows on the store
