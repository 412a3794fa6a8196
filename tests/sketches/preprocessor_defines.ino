// #define keeps its first text, leaves the names the language knows and the sketch's own
// variables alone, stores a macro with parameters under its whole head, may use another
// define, and a use of a name that refers to itself ends in an error (the inner use gives 0,
// the rest is still evaluated).
#define LED 13
#define LED 12
#define HIGH 2
#define FLAG
int led = 4;
#define led 9
#define SQ(x) ((x) * (x))
#define PIN 13
#define TWICE PIN * 2
int pinTwice = TWICE + 1;
#define X X
#define N N+1
#define A B
#define B A
void setup() {
  int high = HIGH;
  int x = X;
  int n = N;
  int a = A;
}
void loop() {
}
