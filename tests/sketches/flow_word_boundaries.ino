// Names that begin with a control word (do, break, for, if, else, goto) are plain names.
int doCount = 0;
int breakTime = 0;
int format = 0;
int iffy = 0;
int elsewhere = 0;
int gotoCount = 0;
void setup() {
  doCount++;
  breakTime++;
  format = 3;
  iffy = 2;
  elsewhere = 4;
  gotoCount = 5;
}
void loop() {
}
