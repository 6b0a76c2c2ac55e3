#!/usr/bin/python3
"""Prints netCDF files as the netCDF4 module reads them, one fact a line:

  file PATH / format F / dim NAME LENGTH [unlimited] / var NAME TYPE DIMS
  att VAR NAME TYPE VALUE   (VAR "-" for the file's own attributes)
  values VAR V V ...        (numbers in shortest round-trip form, "_" for a missing value)
  text VAR ROW STRING       (character variables, a row each, trailing zeros cut)
"""
import sys

import netCDF4
import numpy


def value_text(value):
    if isinstance(value, str):
        return "str", value
    array = numpy.ravel(value)
    return array.dtype.name, " ".join(repr(float(x)) if array.dtype.kind == "f" else str(int(x)) for x in array)


def numbers_text(variable):
    data = variable[...]
    mask = numpy.ravel(numpy.ma.getmaskarray(data))
    values = numpy.ravel(numpy.ma.getdata(data))
    exact = repr if values.dtype.kind == "f" else str
    return " ".join("_" if missing else exact(value.item()) for value, missing in zip(values, mask))


def dump(path):
    print("file", path)
    with netCDF4.Dataset(path) as data:
        print("format", data.data_model)
        for dim in data.dimensions.values():
            print("dim", dim.name, len(dim), "unlimited" if dim.isunlimited() else "")
        for name in data.ncattrs():
            print("att - %s %s %s" % ((name,) + value_text(data.getncattr(name))))
        for variable in data.variables.values():
            print("var", variable.name, variable.dtype.str if variable.dtype != str else "str",
                  ",".join(variable.dimensions))
            for name in variable.ncattrs():
                print("att %s %s %s %s" % ((variable.name, name) + value_text(variable.getncattr(name))))
            if variable.dtype.kind == "S":
                variable.set_auto_chartostring(False)
                variable.set_auto_mask(False)
                for row, chars in enumerate(numpy.atleast_2d(variable[...])):
                    print("text", variable.name, row, b"".join(chars).rstrip(b"\0").decode())
            else:
                print("values", variable.name, numbers_text(variable))


for path in sys.argv[1:]:
    dump(path)
