// Simulate Uno
// An object assigned or compared goes to the operators; an "=" inside a call's brackets is the
// argument's own, so the call still runs.
#include <SD.h>

File log;
int level = 1;

void setup() {
  SD.begin(4);
  log = SD.open("log.txt", FILE_WRITE);
  if (log == 1) {
    log.println(level == 1);
    log.println(level >= 2);
    log.println("a=b");
  }
  log = 0;
}

void loop() {
}
