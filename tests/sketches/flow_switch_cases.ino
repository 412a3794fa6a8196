// switch goes to the matching case, to one of several labels on one line, or to default;
// break leaves the switch and the level closes where it began.
int ns[4] = {1, 2, 3, 7};
int rs[4];
int ms[4];
int r = 0;
int m = 0;
void setup() {
  for (int i = 0; i < 4; i++) {
    switch (ns[i]) {
      case 1:
        r = 1;
        break;
      case 2:
        r = 2;
        break;
      case 3: r = 3; break;
      default:
        r = 9;
    }
    r = r + 100;
    rs[i] = r;
  }
  for (int k = 1; k <= 4; k++) {
    switch (k) {
      case 1: case 2: m = 10; break;
      case 3:
        m = 20;
        break;
      default: m = 30;
    }
    m = m + 100;
    ms[k - 1] = m;
  }
}
void loop() {
}
