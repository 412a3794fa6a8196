// A bracket at the end of an expression becomes its value; the expression then runs once, so
// an increment or a call in front of the bracket acts once, and an error is reported once.
int a = 1;
int b = 1;
int n = 0;
int y = 0;
int k = 0;
int t = 0;
String s = "a";
void setup() {
  Serial.begin(9600);
  y = n++ + (a == b);
  Serial.println(k++ + (a + b));
  t += (2 * 3);
  t = t - (a);
  s.concat (a == b);
}
void loop() {
}
