// Simulate Uno
int n = 0;
int m = 10;
int d = 0;

void setup() {
  while (n < 5) {
    n++;
  }
  while (m > 7) m--;
  do {
    d = d + 2;
  } while (d < 6);
}

void loop() {
}
