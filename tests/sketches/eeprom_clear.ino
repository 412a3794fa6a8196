// Simulate Uno
// Clears the first sixteen cells, saying what the first held before.
#include <EEPROM.h>

void setup() {
  Serial.begin(9600);
  if (EEPROM.read(0) != 255) {
    Serial.print("kept ");
    Serial.println(EEPROM.read(0));
  }
  for (int addr = 0; addr < 16; addr++) {
    EEPROM.write(addr, 0);
  }
  Serial.println(EEPROM.read(15));
  Serial.println(EEPROM.read(16));
}

void loop() {
}
