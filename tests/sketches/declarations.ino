// Simulate Uno
int x, y = 2, z;
const int k = 5;
unsigned long big = 3000000;
word w = 70000;
byte b = 300;
int arr[3] = {1, 2, 3};
int c[4] = {1};
float fl[2] = {1.5,
               2.5};
char *name = "Quorvex";
char buf[] = "hi";
int m[2][3];
static const unsigned long flags = 0;
int count = sizeof(arr) / sizeof(arr[0]);
int integer = 5;
int int0 = 1;
int = 5;
