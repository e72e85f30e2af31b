"""A third-party client against oltsim: netmiko's Huawei Telnet driver logs in,
then a paged listing is read whole by answering each page prompt with a space.
Usage: netmiko_paged_display.py PORT; prints the listing, exit 0 when whole."""
import sys
import time

from netmiko import ConnectHandler

MORE = "---- More ( Press 'Q' to break ) ----"

conn = ConnectHandler(device_type="huawei_telnet", host="127.0.0.1", port=int(sys.argv[1]),
                      username="admin", password="admin123", global_delay_factor=0.5)
conn.send_command_timing("enable")
conn.send_command_timing("undo smart")
conn.write_channel("display ont info 0 all" + conn.RETURN)
listing = ""
pages = 1
deadline = time.time() + 60
while time.time() < deadline:
    time.sleep(0.2)
    chunk = conn.read_channel()
    listing += chunk
    if listing.endswith(MORE):
        pages += 1
        conn.write_channel(" ")
    elif listing.rstrip().endswith("#"):
        break
conn.disconnect()
sys.stdout.write(listing)
sys.stdout.write("\npages: %d\n" % pages)
sys.exit(0 if pages > 1 and listing.rstrip().endswith("MA5608T-DEMO#") else 1)
