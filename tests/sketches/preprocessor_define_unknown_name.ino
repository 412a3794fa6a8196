// A #define chain whose every text uses the next name twice, the last name unknown: the unknown
// name is reported where a text uses it, and that error ends the statement's expansions, so it
// is not reported once per use (65,536 times). The statement's value is then meaningless.
#define M0 (M1+1+M1+1)
#define M1 (M2+1+M2+1)
#define M2 (M3+1+M3+1)
#define M3 (M4+1+M4+1)
#define M4 (M5+1+M5+1)
#define M5 (M6+1+M6+1)
#define M6 (M7+1+M7+1)
#define M7 (M8+1+M8+1)
#define M8 (M9+1+M9+1)
#define M9 (M10+1+M10+1)
#define M10 (M11+1+M11+1)
#define M11 (M12+1+M12+1)
#define M12 (M13+1+M13+1)
#define M13 (M14+1+M14+1)
#define M14 (M15+1+M15+1)
#define M15 (M16+1+M16+1)
#define M16 (M17+1+M17+1)
long x = M0;
void setup() {
  long y = M15;
  long z = M16 + 1;
}
void loop() {
}
