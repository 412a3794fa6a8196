// A #define chain whose every text uses the next name twice: evaluating M0 would expand
// 2^31 texts. Such a statement gives up at once with an error; a shorter chain still works.
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
#define M17 (M18+1+M18+1)
#define M18 (M19+1+M19+1)
#define M19 (M20+1+M20+1)
#define M20 (M21+1+M21+1)
#define M21 (M22+1+M22+1)
#define M22 (M23+1+M23+1)
#define M23 (M24+1+M24+1)
#define M24 (M25+1+M25+1)
#define M25 (M26+1+M26+1)
#define M26 (M27+1+M27+1)
#define M27 (M28+1+M28+1)
#define M28 (M29+1+M29+1)
#define M29 (M30+1+M30+1)
#define M30 1
long x = M0;
long six = M24;
long items[] = {M0, M24};

void setup() {
  Serial.begin(9600);
  long y = M0 + 1;
  Serial.println(M24);
  long z = six + M24 + M25;
}

void loop() {
}
