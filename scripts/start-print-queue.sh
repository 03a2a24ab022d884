#!/usr/bin/env bash
# Starts CUPS with a PDF queue named "PDF", for the test that prints through a real queue.
# Needs root; prints the folder the queue writes into.
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "not root: no print queue"; exit 1; }
command -v cupsd >/dev/null || { echo "cupsd missing"; exit 1; }

out=/var/spool/cups-pdf/lintaro
mkdir -p "$out"
chmod 1777 "$out"
if [ -f /etc/cups/cups-pdf.conf ] && ! grep -q "^Out $out" /etc/cups/cups-pdf.conf; then
  sed -i '/^Out /d' /etc/cups/cups-pdf.conf
  echo "Out $out" >> /etc/cups/cups-pdf.conf
fi
# "lpstat -r" succeeds whether or not the scheduler runs: read what it says.
running() { lpstat -r 2>/dev/null | grep -qx "scheduler is running"; }
if ! running; then
  /usr/sbin/cupsd
  for _ in $(seq 50); do running && break; sleep 0.1; done
  running || { echo "cupsd did not start"; exit 1; }
fi
if ! lpstat -p PDF >/dev/null 2>&1; then
  lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=A4
  lpadmin -d PDF
fi
echo "$out"
