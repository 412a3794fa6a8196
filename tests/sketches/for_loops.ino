// Simulate Uno
int sum = 0;
int squares = 0;
int never = 0;
int inner = 0;

void setup() {
  for (int i = 1; i <= 4; i++) {
    sum = sum + i;
  }
  for (int j = 0; j < 3; j++) squares += j * j;
  for (int k = 5; k < 3; k++) {
    never = 1;
  }
  for (int a = 0; a < 2; a++) {
    for (int b = 0; b < 3; b++) {
      inner++;
    }
  }
}

void loop() {
}
