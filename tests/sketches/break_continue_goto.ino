// Simulate Uno
int x = 0;
int odd = 0;
int jumped = 0;

void setup() {
  while (1) {
    x++;
    if (x > 5) {
      break;
    }
  }
  for (int i = 0; i < 6; i++) {
    if (i % 2 == 0) {
      continue;
    }
    odd++;
  }
  goto done;
  jumped = 1;
done:
  jumped = jumped + 10;
}

void loop() {
}
