// Simulate Uno
// Marks the EEPROM on its first run, keeps four readings and reads them back.
#include <EEPROM.h>

const int MARK = 0;
int value = 0;

void setup() {
  Serial.begin(9600);
  if (EEPROM.read(MARK) == 255) {
    Serial.println("fresh");
  }
  for (int i = 0; i < 4; i++) {
    EEPROM.write(i + 1, i * 100);
  }
  EEPROM.update(MARK, 7);
  for (int i = 1; i <= 4; i++) {
    value = EEPROM.read(i);
    Serial.println(value);
  }
  Serial.println(EEPROM.read(MARK));
}

void loop() {
}
