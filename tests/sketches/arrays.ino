// Simulate Uno
int readings[4] = {3, 1, 4, 1};
int total = 0;
int biggest = 0;

void setup() {
  for (int i = 0; i < 4; i++) {
    total = total + readings[i];
    if (readings[i] > biggest) {
      biggest = readings[i];
    }
  }
  readings[2] = 9;
}

void loop() {
}
