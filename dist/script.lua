-- Tolvex example script.
--
-- Every scan is typed followed by SUFFIX, which is Enter as shipped, so that
-- each label lands on a line of its own (an empty scan types nothing). A GS1-128 label is split
-- into its fields first: the data of every field is typed followed by Tab, in
-- the order of the label, then the suffix. Any other scan is typed as it is.
--
-- To change what comes before or after every scan, change the two lines
-- below that set PREFIX and SUFFIX, for example:
--   SUFFIX = "\t"     Tab: to the next field or cell instead of Enter
--   SUFFIX = ""       nothing after the scan
--   PREFIX = "*"      a character (or text) before every scan
-- In the text typed "\r" is Enter and "\t" is Tab.
--
-- A scan counts as GS1-128 when it holds a group separator (GS, "\029") or
-- begins with the symbology identifier "]C1", which scanners send when told
-- to; a plain EAN-13 such as 4006381333931 would otherwise read as AI 400.
--
-- Try it without a scanner, in the folder of this script (\x1d stands for
-- the group separator, GS):
--   printf '%s\n' '010950110153000310ABC123\x1d3102001250' 4006381333931 | tolvexcli run
-- prints 09501101530003\x09ABC123\x0912.50\x09\x0d
--    and 4006381333931\x0d

local PREFIX = ""
local SUFFIX = "\r"

-- The fields of a GS1-128 label, each followed by Tab; nil for any other scan.
local function gs1Fields(scan)
  local label = scan
  if string.sub(scan, 1, 3) == "]C1" then
    label = string.sub(scan, 4)
  elseif not string.find(scan, "\029", 1, true) then
    return nil
  end
  -- true: strict, a space in alphanumeric data is an error.
  local fields, list = app.ean128(label, true)
  if fields == nil or #list == 0 then
    -- Not GS1-128 after all (the second result would say why).
    return nil
  end
  local out = {}
  for _, field in ipairs(list) do
    out[#out + 1] = field.data .. "\t"
  end
  return table.concat(out)
end

function process(scan)
  if scan == "" then
    return ""
  end
  return PREFIX .. (gs1Fields(scan) or scan) .. SUFFIX
end
